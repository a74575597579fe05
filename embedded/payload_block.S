/* The screen saver's exact bytes as PayloadBlock, in read-only data. */
    .section .rdata,"dr"
    .globl _PayloadBlock
    .p2align 2
_PayloadBlock:
    .incbin "Flarvex.scr"
