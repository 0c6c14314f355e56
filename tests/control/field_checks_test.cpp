#include "control/field_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "control/save_results.h"

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
      {"|", "|", std::nullopt},
      {"-", "-", std::nullopt},
      {"#", "#", std::nullopt},
      {"\xe9", "\xe9", std::nullopt},
  };
  for (auto& c : cases) {
    SCOPED_TRACE("[" + c.typed + "]");
    std::string d = c.typed;
    EXPECT_EQ(checkDelimiter(d), c.message);
    EXPECT_EQ(d, c.kept);
  }
}

TEST(FieldChecks, PageLimit) {
  struct Case {
    const char* typed;
    std::optional<std::string> message;
  } cases[] = {
      {"abc", "Please enter the number"},
      {"", "Please enter the number"},
      {"2.5", "No. of pages should be an integer"},
      {"0", "No. of pages should be greater than zero"},
      {"-3", "No. of pages should be greater than zero"},
      {"100000", std::nullopt},
      {"100001", "No. of pages cannot be greater than 100000"},
      {" 42 ", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(checkPageLimit(c.typed), c.message);
  }
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(SaveResults, WritesEveryAddressFollowedByTheDelimiter) {
  const auto dir =
      std::filesystem::temp_directory_path() /
      ("korvex-save-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir / "v1.2");
  EmailList emails;
  emails.add("a@b.com");
  emails.add("c@d.org");

  auto saved = saveResults((dir / "list").string(), emails, " | ");
  EXPECT_FALSE(saved.message);
  EXPECT_EQ(saved.path, (dir / "list.txt").string());
  EXPECT_EQ(readFile(saved.path), "a@b.com|c@d.org|");

  saved = saveResults((dir / "v1.2" / "list").string(), emails, ";");
  EXPECT_EQ(saved.path, (dir / "v1.2" / "list").string()) << "a dot in the folder counts";

  saved = saveResults((dir / "list.txt").string(), EmailList{}, ";");
  EXPECT_EQ(readFile(saved.path), "") << "saving again leaves only the new list";

  EXPECT_EQ(saveResults("  ", emails, ";").message, "Target File name cannot be blank.");
  EXPECT_TRUE(saveResults((dir / "missing" / "x.txt").string(), emails, ";").message);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace korvex
