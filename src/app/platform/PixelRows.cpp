#include "PixelRows.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wispen {

namespace {

template <bool Swap>
void WidenScalar(const uint32_t* source, int count, int scale, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    const uint32_t p = Swap ? SwapRedBlue(source[i]) : source[i];
    for (int k = 0; k < scale; ++k) *out++ = p;
  }
}

#if defined(__SSE2__)
inline __m128i SwapRedBlue4(__m128i p) {
  const __m128i green = _mm_and_si128(p, _mm_set1_epi32(0xFF00));
  const __m128i red = _mm_and_si128(_mm_slli_epi32(p, 16), _mm_set1_epi32(0xFF0000));
  const __m128i blue = _mm_and_si128(_mm_srli_epi32(p, 16), _mm_set1_epi32(0xFF));
  return _mm_or_si128(_mm_or_si128(green, red), blue);
}

inline void Store(uint32_t* out, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
}

// Four pixels at a time, each repeated by shuffles: the scales a desktop gives (2 on most, 3 or 4 on larger
// ones) and 1. Any other goes pixel by pixel.
template <bool Swap>
int WidenFours(const uint32_t* source, int count, int scale, uint32_t* out) {
  if (scale < 1 || scale > 4) return 0;
  int i = 0;
  for (; i + 4 <= count; i += 4, out += 4 * scale) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    if (Swap) v = SwapRedBlue4(v);
    if (scale == 1) {
      Store(out, v);
    } else if (scale == 2) {
      Store(out, _mm_unpacklo_epi32(v, v));
      Store(out + 4, _mm_unpackhi_epi32(v, v));
    } else if (scale == 3) {
      Store(out, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
      Store(out + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
      Store(out + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
    } else {
      Store(out, _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 0, 0, 0)));
      Store(out + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 1, 1, 1)));
      Store(out + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 2, 2)));
      Store(out + 12, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 3)));
    }
  }
  return i;
}
#else
template <bool Swap>
int WidenFours(const uint32_t*, int, int, uint32_t*) {
  return 0;
}
#endif

template <bool Swap>
void Widen(const uint32_t* source, int count, int scale, uint32_t* out) {
  const int done = WidenFours<Swap>(source, count, scale, out);
  WidenScalar<Swap>(source + done, count - done, scale, out + static_cast<size_t>(done) * scale);
}

}  // namespace

void WidenRow(const uint32_t* source, int count, int scale, bool swapRedBlue, uint32_t* out) {
  (swapRedBlue ? Widen<true> : Widen<false>)(source, count, scale, out);
}

#if defined(__SSE2__)
void StreamRow(uint32_t* to, const uint32_t* from, size_t count) {
  for (; count > 0 && (reinterpret_cast<uintptr_t>(to) & 15) != 0; --count)
    _mm_stream_si32(reinterpret_cast<int*>(to++), static_cast<int>(*from++));
  for (; count >= 4; count -= 4, to += 4, from += 4)
    _mm_stream_si128(reinterpret_cast<__m128i*>(to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
  for (; count > 0; --count) _mm_stream_si32(reinterpret_cast<int*>(to++), static_cast<int>(*from++));
}

void StreamedRowsDone() {
  _mm_sfence();
}
#else
void StreamRow(uint32_t* to, const uint32_t* from, size_t count) {
  std::memcpy(to, from, count * sizeof(uint32_t));
}

void StreamedRowsDone() {}
#endif

}  // namespace wispen
