// The payload's descriptor.
#include "payload.h"

PayloadDescriptorOf<PayloadFullChunks> PayloadDescriptor;

void PreparePayload() {
    DescribePayload(PayloadDescriptor, PayloadBlock, PayloadSize);
}
