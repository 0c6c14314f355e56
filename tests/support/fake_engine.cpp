#include "support/fake_engine.h"

namespace korvex::test {

std::string resultLink(const std::string& target, bool secondHost) {
  return std::string("<a class=\"yschttl\" href=\"http://") +
         (secondHost ? "r.search.yahoo.com/_ylt=A0oG7/RV=2" : "rds.yahoo.com/_ylt=A0geu/SIG=12") +
         "/**-" + target + "\">result</a>";
}

std::string navigationLink(const std::string& target) {
  std::string t;
  for (char c : target) t += c == '&' ? std::string("&amp;") : std::string(1, c);
  return "<a href=\"http://rds.yahoo.com/S=2766679/K=w/v=2/SID=w/l=PE/navbar/pages/*-" + t +
         "\">next</a>";
}

std::string resultPage(const std::vector<std::string>& results,
                       const std::vector<std::string>& navigation) {
  std::string page = "<html><head><title>Search results</title></head><body><ol>\n";
  for (const auto& r : results) page += "<li>" + r + "</li>\n";
  page += "</ol><div id=\"pg\">";
  for (const auto& n : navigation) page += n + " ";
  return page + "</div></body></html>";
}

EngineProfile engineProfile(const TestServer& server) {
  EngineProfile p;
  p.origin = server.origin();
  p.numericHost = "127.0.0.1";
  return p;
}

}  // namespace korvex::test
