// Build-time configuration of the USB sensor library (values in config.h).
#include "platform/config.h"

static_assert(vornik::vendorInterfaceClass1 != vornik::vendorInterfaceClass2,
              "the two interface classes must differ");
