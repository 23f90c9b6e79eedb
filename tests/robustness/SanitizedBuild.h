// Whether this build runs under AddressSanitizer, which makes every byte touched several times
// slower. Long randomized tests run fewer rounds there: the sanitizer looks at memory, while the
// plain build runs the full rounds.
#pragma once

namespace zarvex::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif
#else
inline constexpr bool kSanitizedBuild = false;
#endif

}  // namespace zarvex::testing
