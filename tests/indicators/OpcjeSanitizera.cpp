// Under AddressSanitizer freed memory waits in a quarantine (256 MB unless
// told) and counts in the resident size the engine's parent holds to its
// limit: a rule file that makes and frees much would be stopped for memory
// it no longer holds. These tests keep the quarantine small instead.
#include "Sanitizer.h"

#if defined(VESK_ASAN)
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }
#endif
