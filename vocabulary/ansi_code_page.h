#pragma once

#include <string>
#include <string_view>

struct UConverter;

namespace orvell {

// The legacy code page the vocabulary file is written in: windows-1251 on every system, which
// holds both Russian and English and is the ANSI code page of a Russian Windows. A character the
// code page cannot hold is written as "?".
class AnsiCodePage {
  public:
    AnsiCodePage();
    ~AnsiCodePage();
    AnsiCodePage(const AnsiCodePage&) = delete;
    AnsiCodePage& operator=(const AnsiCodePage&) = delete;

    std::u16string decode(std::string_view bytes);
    std::string encode(std::u16string_view text);

  private:
    UConverter* converter_;
};

}  // namespace orvell
