// Closes a pass opened by simd/begin_target.h.
}  // namespace <path>
}  // namespace rotkit

#if defined(ROTKIT_TARGET_PRAGMA)
#undef ROTKIT_TARGET_PRAGMA
#if defined(__clang__)
#pragma clang attribute pop
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#pragma GCC pop_options
#endif
#endif
