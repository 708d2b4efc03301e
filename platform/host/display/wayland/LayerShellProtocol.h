// The layer shell's generated client header, made fit for C++: one of its
// arguments is named "namespace", as the protocol names it.
#pragma once

#define namespace namespace_
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
