// The screen saver that install writes: its exact bytes, carried as one constant block, and
// the descriptor that install reads them through.
#pragma once
#include "payload_descriptor.h"
#include "payload_size.h" // generated from the built screen saver: PayloadSize

#include <stdint.h>

// The block, in the program's read-only data (payload_block.S).
extern "C" const uint8_t PayloadBlock[];

constexpr uint32_t PayloadFullChunks = FullChunksOf(PayloadSize);

extern PayloadDescriptorOf<PayloadFullChunks> PayloadDescriptor;

// Points the descriptor at the block's chunks; calling it again changes nothing.
void PreparePayload();
