#pragma once

#include <string>
#include <string_view>

struct UConverter;

namespace orvell {

// The legacy code page the vocabulary file is written in: the system's ANSI code page on
// Windows, windows-1251 elsewhere (it holds both Russian and English). A character the code
// page cannot hold is written as "?".
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
