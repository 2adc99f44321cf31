#include "settings/DecimalText.h"

int32_t ParseDecimal(const char* text)
{
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsWhiteSpace(*p)) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}
