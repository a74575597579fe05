/* The wallpaper stream, encoded from the wallpaper picture when the program is built
   (wallpaper.rle in the build folder, found through the assembler's include path), kept in
   the program's read-only data. */
#define CONCAT_(a, b) a##b
#define CONCAT(a, b) CONCAT_(a, b)
#define SYMBOL(name) CONCAT(__USER_LABEL_PREFIX__, name)

    .section .rdata, "dr"
    .globl SYMBOL(WallpaperStream)
    .p2align 2 /* the decoders read it in any alignment */
SYMBOL(WallpaperStream):
    .incbin "wallpaper.rle"
