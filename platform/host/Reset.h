// Returning host state to start-up for tests (host::testing::ResetHost).
// Code that keeps process-wide state registers how to forget it the first
// time it keeps something; registering the same hook again changes nothing.
#pragma once

namespace host {

using ResetHook = void (*)();
void AddResetHook(ResetHook hook);
void RunResetHooks();

}  // namespace host
