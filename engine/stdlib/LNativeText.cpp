#include "stdlib/LNativeText.h"

#include "memory/LMemoryManager.h"

namespace {

void PutUnit(char* aOut, int& aAt, uint32_t aCode)
{
    if (aCode < 0x80) {
        aOut[aAt++] = static_cast<char>(aCode);
    } else if (aCode < 0x800) {
        aOut[aAt++] = static_cast<char>(0xC0 | (aCode >> 6));
        aOut[aAt++] = static_cast<char>(0x80 | (aCode & 0x3F));
    } else if (aCode < 0x10000) {
        aOut[aAt++] = static_cast<char>(0xE0 | (aCode >> 12));
        aOut[aAt++] = static_cast<char>(0x80 | ((aCode >> 6) & 0x3F));
        aOut[aAt++] = static_cast<char>(0x80 | (aCode & 0x3F));
    } else {
        aOut[aAt++] = static_cast<char>(0xF0 | (aCode >> 18));
        aOut[aAt++] = static_cast<char>(0x80 | ((aCode >> 12) & 0x3F));
        aOut[aAt++] = static_cast<char>(0x80 | ((aCode >> 6) & 0x3F));
        aOut[aAt++] = static_cast<char>(0x80 | (aCode & 0x3F));
    }
}

} // namespace

char* NewNativeText(const LString& aText)
{
    const int length = aText.GetLength();
    const char16_t* units = aText.GetBuffer();
    char* out = new (L_FILE, __LINE__) char[static_cast<size_t>(length) * 3 + 1];
    if (!out) {
        return nullptr;
    }
    int at = 0;
    for (int i = 0; i < length; ++i) {
        uint32_t code = units[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < length && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        }
        PutUnit(out, at, code);
    }
    out[at] = 0;
    return out;
}

LString FromNativeText(const char* aText)
{
    LString result;
    if (!aText) {
        return result;
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(aText);
    int length = 0;
    while (bytes[length]) {
        ++length;
    }
    char16_t* units = new (L_FILE, __LINE__) char16_t[static_cast<size_t>(length) * 2 + 1];
    if (!units) {
        return result;
    }
    int out = 0;
    for (int i = 0; i < length;) {
        const unsigned char lead = bytes[i];
        int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : (lead >= 0xE0 && lead < 0xF0 ? 2 : (lead >= 0xC2 && lead < 0xE0 ? 1 : 0));
        uint32_t code = extra == 3 ? (lead & 0x07u) : (extra == 2 ? (lead & 0x0Fu) : (lead & 0x1Fu));
        bool valid = extra > 0 && i + extra < length + 1;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + k >= length || (bytes[i + k] & 0xC0) != 0x80) {
                valid = false;
            } else {
                code = (code << 6) | (bytes[i + k] & 0x3Fu);
            }
        }
        if (valid && ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)))) {
            valid = false;
        }
        if (!valid) {
            units[out++] = lead; // a lone byte stands for itself (Latin-1)
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            units[out++] = static_cast<char16_t>(0xD800 + (code >> 10));
            units[out++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            units[out++] = static_cast<char16_t>(code);
        }
        i += extra + 1;
    }
    units[out] = 0;
    result.Assign(units);
    delete[] units;
    return result;
}
