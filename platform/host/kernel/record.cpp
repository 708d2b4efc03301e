#include "platform/host/kernel/record.h"

#include "platform/host/testing.h"

namespace host {
namespace {

bool keepAll = false;

}  // namespace

bool KeepsAllRecords()
{
    return keepAll;
}

namespace testing {

void KeepRecords(bool all)
{
    keepAll = all;
}

}  // namespace testing
}  // namespace host
