#include "page/emails.h"

#include <gtest/gtest.h>

#include "support/engine_harness.h"

namespace korvex {
namespace {

using Strings = std::vector<std::string>;

// Runs of address characters, the form rules, and repeats (whole addresses, case ignored).
TEST(Emails, WhatAPageGives) {
  // clang-format off
  const struct {
    const char* name;
    const char* page;
    Strings expected;
  } cases[] = {
      {"no at sign", "nothing to see here.", {}},
      {"mailto prefix", "<a href=\"mailto:ann@x.com\">", {"ann@x.com"}},
      {"quotes", "'bob@y.org'", {"bob@y.org"}},
      {"sentence full stop", "Write to cy@z.net.", {"cy@z.net"}},
      {"two dots", "Write to cy@z.net..", {}},
      {"non-ASCII ends a run", "\xe9" "d@e.fr\xe9", {"d@e.fr"}},
      {"at the very start and end", "a@b.cd", {"a@b.cd"}},
      {"two at signs in one run", "a@b@c.com", {}},
      {"plus belongs to the local part", "john+news@x.com", {"john+news@x.com"}},
      {"several on one page, in order", "x@a.com, y@b.com; z@c.com", {"x@a.com", "y@b.com", "z@c.com"}},
      {"case kept as written", "Mary.Smith@Example.COM", {"Mary.Smith@Example.COM"}},
      {"no dot", "root@localhost", {}},
      {"dot right after the at", "a@.b.com", {}},
      {"dot right before the at", "a.@b.com", {}},
      {"an earlier dot makes the at rule pass", "x.y@.com", {"x.y@.com"}},
      {"starts with underscore", "_a@b.com", {}},
      {"starts with hyphen", "-a@b.com", {}},
      {"ends with hyphen", "a@b.com-", {}},
      {"ends with at", "a.b@", {}},
      {"retina image name", "logo@2x.png", {}},
      {"image suffix in capitals", "icon@3X.JPEG", {}},
      {"package version", "/npm/lodash@4.17.21/x", {}},
      {"dot only before the at", "e.f@u", {}},
      {"last label without a letter", "a@b.123", {}},
      {"one letter in the last label is enough", "a@b.c2", {"a@b.c2"}},
      {"long top-level domain", "x@mail.example.museum", {"x@mail.example.museum"}},
      {"suffix only counts after the last dot", "png@example.com", {"png@example.com"}},
      {"same address in capitals", "ann@x.com ANN@X.COM", {"ann@x.com"}},
      {"tail of a recorded address is distinct", "joann@x.com ann@x.com", {"joann@x.com", "ann@x.com"}},
      {"domain prefix is distinct", "ann@x.com.au ann@x.com", {"ann@x.com.au", "ann@x.com"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::EngineHarness h;
    EXPECT_EQ(test::emailsOf(h.process(c.page, "http://h/p.html")), c.expected);
  }
}

}  // namespace
}  // namespace korvex
