#include "core/local_names.hpp"

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"

namespace qv {

std::string localComputerName(System& system) {
  return noHandler([&] {
    // The platform terminates the name with a zero character inside a blank
    // buffer; an unterminated or missing name means the call failed.
    std::string buffer(512, ' ');
    if (auto name = system.computerName()) {
      std::string value = name->substr(0, 511);
      buffer.replace(0, value.size() + 1, value + '\0');
    }
    std::string_view text = trim(buffer);
    if (text.empty()) throwRuntimeError(kInvalidCall);
    if (text.back() != '\0') return std::string();
    std::string withoutZeros;
    for (char c : text) {
      if (c != '\0') withoutZeros.push_back(c);
    }
    return trimmed(withoutZeros);
  });
}

std::string localWorkgroup(System& system) {
  return reportAndFail("Unable to get the local workgroup name", [&] {
    std::string workgroup;
    uint32_t status = system.withWorkgroupName([&](const char16_t* name) { workgroup = textAtPointer(name); });
    if (status != 0) return std::string();
    return trimmed(workgroup);
  });
}

std::string textAtPointer(const char16_t* address) {
  return reportAndFail("Error with pointer to byte string while getting workgroup name", [&] {
    if (address == nullptr) return std::string();
    return utf16ToUtf8(std::u16string_view(address));
  });
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u16string utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto byte = static_cast<unsigned char>(text[i]);
    uint32_t cp = 0xFFFD;
    std::size_t length = 1;
    if (byte < 0x80) {
      cp = byte;
    } else if ((byte >> 5) == 0x6) {
      length = 2;
    } else if ((byte >> 4) == 0xE) {
      length = 3;
    } else if ((byte >> 3) == 0x1E) {
      length = 4;
    }
    if (length > 1) {
      if (i + length > text.size()) {
        length = 1;
      } else {
        cp = byte & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
          auto next = static_cast<unsigned char>(text[i + k]);
          if ((next >> 6) != 0x2) {
            cp = 0xFFFD;
            length = k;
            break;
          }
          cp = (cp << 6) | (next & 0x3F);
        }
      }
    }
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp > 0x10FFFF ? 0xFFFD : cp));
    }
    i += length;
  }
  return out;
}

} // namespace qv
