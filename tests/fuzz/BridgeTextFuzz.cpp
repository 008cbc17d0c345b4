// libFuzzer target for the front end's readers of bridge texts: the
// message-box request ("type\r\ncaption\r\ntext") and the connection state
// ("%02d" and a text) take any value; what they give back is the value's own
// pieces, and a request formed as the sender forms it reads back as sent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "frontend/UiBridge.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const CString value(input.data(), static_cast<int>(size));

  CString caption = "unchanged";
  CString text = "unchanged";
  const int type = ParseMessageBoxNotify(value, caption, text);
  const int first = value.Find("\r\n");
  const int second = first < 0 ? -1 : value.Find("\r\n", first + 2);
  if (second < 0) {
    check(type == -1 && caption == "unchanged" && text == "unchanged");
  } else {
    check(value.Left(first) + "\r\n" + caption + "\r\n" + text == value);
    check(caption.Find("\r\n") < 0);
  }

  CString state;
  ParseConnectionState(value, state);
  check(value.GetLength() < 2 ? state.IsEmpty() : state == value.Mid(2));

  // Sender and receiver agree: a caption without a line break survives, and
  // so does any text.
  const size_t bar = input.find('|');
  if (bar != std::string_view::npos) {
    const CString sentCaption(input.data(), static_cast<int>(bar));
    const CString sentText(input.data() + bar + 1, static_cast<int>(size - bar - 1));
    if (sentCaption.Find("\r\n") < 0 && sentCaption.Find('\0') < 0 && sentText.Find('\0') < 0) {
      CString formed;
      formed.Format("%d\r\n%s\r\n%s", static_cast<int>(size), sentCaption.GetString(), sentText.GetString());
      CString readCaption, readText;
      check(ParseMessageBoxNotify(formed, readCaption, readText) == static_cast<int>(size));
      check(readCaption == sentCaption && readText == sentText);
    }
  }
  return 0;
}
