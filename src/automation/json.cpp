#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "platform/text.h"

namespace quillory {

std::string JsonString(const std::string& text) {
  std::string out;
  AppendJsonString(out, text);
  return out;
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  const bool valid = IsValidUtf8(text);
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || (!valid && c >= 0x80)) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

unsigned ReadHex4(const std::string& s, std::size_t at) {
  if (at + 4 > s.size()) throw std::runtime_error("bad \\u escape");
  unsigned v = 0;
  for (std::size_t i = at; i < at + 4; ++i) {
    char c = s[i];
    v <<= 4;
    if (c >= '0' && c <= '9') v |= c - '0';
    else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
    else throw std::runtime_error("bad \\u escape");
  }
  return v;
}

}  // namespace

std::vector<std::string> SplitScriptLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    unsigned char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c != '"') {
      std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
      words.push_back(line.substr(start, i - start));
      continue;
    }
    std::string word;
    ++i;
    bool closed = false;
    while (i < line.size()) {
      char ch = line[i++];
      if (ch == '"') {
        closed = true;
        break;
      }
      if (ch != '\\') {
        word += ch;
        continue;
      }
      if (i >= line.size()) break;
      char e = line[i++];
      switch (e) {
        case '"': word += '"'; break;
        case '\\': word += '\\'; break;
        case '/': word += '/'; break;
        case 'n': word += '\n'; break;
        case 'r': word += '\r'; break;
        case 't': word += '\t'; break;
        case 'b': word += '\b'; break;
        case 'f': word += '\f'; break;
        case 'u': {
          unsigned code = ReadHex4(line, i);
          i += 4;
          if (code >= 0xD800 && code < 0xDC00 && i + 6 <= line.size() && line[i] == '\\' && line[i + 1] == 'u') {
            unsigned low = ReadHex4(line, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
              i += 6;
            }
          }
          AppendUtf8(word, code);
          break;
        }
        default: throw std::runtime_error(std::string("unknown escape \\") + e + " in a quoted word");
      }
    }
    if (!closed) throw std::runtime_error("unterminated quoted word");
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace quillory
