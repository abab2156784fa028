#pragma once
#include "support/testenv.h"

namespace vxtest {
// A test environment with the whole schema's database in its program folder.
struct SchemaEnv {
    TestEnv env;
};
}  // namespace vxtest
