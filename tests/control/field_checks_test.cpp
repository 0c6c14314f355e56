#include "control/field_checks.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(FieldChecks, Delimiter) {
  struct Case {
    std::string typed;
    std::string kept;
    std::optional<std::string> message;
  } cases[] = {
      {"   ", "", "Delimiter cannot be blank."},
      {" , ", ",", std::nullopt},
      {", ;", ", ;", std::nullopt},
      {"x;", "x;", "Delimiter cannot be a-z, A-Z, 0-9"},
      {"5", "5", "Delimiter cannot be a-z, A-Z, 0-9"},
      {";@", ";@", "Delimiter cannot be @ symbol"},
      {".", ".", "Delimiter cannot be . symbol"},
      {"_", "_", std::nullopt},
      {"\xe9", "\xe9", std::nullopt},
  };
  for (auto& c : cases) {
    SCOPED_TRACE("[" + c.typed + "]");
    std::string d = c.typed;
    EXPECT_EQ(checkDelimiter(d), c.message);
    EXPECT_EQ(d, c.kept);
  }
}

TEST(FieldChecks, NumberFields) {
  const std::string delay = "The delay per host is a whole number of milliseconds from 0 to 60000.";
  const struct {
    decltype(&checkPageLimit) check;
    const char* typed;
    std::optional<std::string> message;
  } cases[] = {
      {checkPageLimit, "abc", "Please enter the number"},
      {checkPageLimit, "", "Please enter the number"},
      {checkPageLimit, "2.5", "No. of pages should be an integer"},
      {checkPageLimit, "0", "No. of pages should be greater than zero"},
      {checkPageLimit, "-3", "No. of pages should be greater than zero"},
      {checkPageLimit, "100000", std::nullopt},
      {checkPageLimit, "100001", "No. of pages cannot be greater than 100000"},
      {checkPageLimit, " 42 ", std::nullopt},
      {checkDelayPerHost, "0", std::nullopt},
      {checkDelayPerHost, "60000", std::nullopt},
      {checkDelayPerHost, "60001", delay},
      {checkDelayPerHost, "-1", delay},
      {checkDelayPerHost, "", delay},
      {checkDelayPerHost, "1.5", delay},
      {checkMaxTime, "0.1", std::nullopt},
      {checkMaxTime, "1440", std::nullopt},
      {checkMaxTime, "1441", "Time per page cannot be greater than 1440 minutes"},
      {checkMaxTime, "1e999", "Time per page cannot be greater than 1440 minutes"},
      {checkMaxTime, "0", "Time per page should be greater than zero"},
      {checkMaxTime, "soon", "Please enter the number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(c.check(c.typed), c.message);
  }
}

TEST(FieldChecks, BaseUrlSchemes) {
  const std::string refused = "Only http and https URLs can be scanned.";
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"file:///etc/passwd", refused},     {"ftp://example.com/", refused},
      {"gopher://example.com/", refused},  {"javascript:alert(1)", refused},
      {"data:text/html,x", refused},       {"mailto:ann@example.com", refused},
      {"localhost:8080/", std::nullopt},   {"www.example.com:8080", std::nullopt},
      {"example.com/a", std::nullopt},     {" HTTPS://example.com", std::nullopt},
      {"http://example.com", std::nullopt}};
  for (const auto& [typed, message] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(checkBaseUrl(typed), message);
  }
}

}  // namespace
}  // namespace korvex
