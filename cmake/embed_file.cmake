# Script mode: writes OUTPUT, a C++ source holding the bytes of INPUT as SYMBOL.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include <cstddef>
namespace embedded {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
alignas(16) const unsigned char ${SYMBOL}[] = {
${bytes}0 // never empty; not counted in the size
};
const std::size_t ${SYMBOL}Size = ${size};
} // namespace embedded
")
