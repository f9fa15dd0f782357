#pragma once

// Resident memory for the soak tests. AddressSanitizer holds freed memory
// back in quarantine, so under it the leak checker judges instead, and the
// tests skip their memory bounds.

#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool address_sanitizer = true;
#else
constexpr bool address_sanitizer = false;
#endif
#else
constexpr bool address_sanitizer = false;
#endif

// This process's resident memory in megabytes.
double resident_megabytes();
