// The codec tests' main. Without options the decoders take the path they choose for this
// processor; --decoder=scalar or --decoder=sse2 runs every test on that path instead (exit 77,
// skipped, where the processor lacks it).
#include "codec_test_support.h"
#include "decoder_path.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

PixelDecoderPath AutomaticDecoderPath;

int main(int argc, char** argv) {
    AutomaticDecoderPath = CurrentPixelDecoderPath();
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const bool scalar = strcmp(argv[i], "--decoder=scalar") == 0;
        if (!scalar && strcmp(argv[i], "--decoder=sse2") != 0) {
            fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
        if (!UsePixelDecoderPath(scalar ? PixelDecoderScalar : PixelDecoderSse2)) {
            printf("This processor cannot run the %s path.\n", argv[i] + 10);
            return 77;
        }
    }
    printf("Decoders on the %s path.\n",
           CurrentPixelDecoderPath() == PixelDecoderSse2 ? "SSE2" : "scalar");
    return RUN_ALL_TESTS();
}
