// VESK_ASAN is defined where the build runs under AddressSanitizer, whose
// shadow memory and runtime change what a process may limit or forbid.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define VESK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_ASAN 1
#endif
#endif
