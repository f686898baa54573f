// Hints to the compiler and the processor for the few hot loops that need
// them: a function always inlined where it is called, and memory asked for
// ahead of its use. They change speed only, never results.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define ALWAYS_INLINE inline
#endif

// Starts loading the cache line at address for a read soon after.
inline void PrefetchForRead(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// Starts loading the cache line at address for a write soon after.
inline void PrefetchForWrite(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address, 1);
#else
    (void)address;
#endif
}
