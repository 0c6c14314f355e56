// Every address the extractor records is a run of address characters that stands in the page and
// passes the address check again (with a sentence's full stop after it, which the check removes).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "page/cnetget.h"
#include "page/emails.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvex;
  const std::string page(reinterpret_cast<const char*>(data), size);
  CNetGet net(PageSettings{});
  net.cancel();  // frame sources are not read
  const PageResult r = net.processText(page, "http://fuzz/", {.url = "http://fuzz/"}, {});
  for (size_t i = 0; i < r.emails.size(); ++i) {
    const std::string address(r.emails[i]);
    std::string again = address + ".";
    if (checkEmailForm(again) != address) std::abort();
    if (page.find(address) == std::string::npos) std::abort();
    for (char c : address)
      if (!kAddressChar[static_cast<unsigned char>(c)]) std::abort();
  }
  return 0;
}
