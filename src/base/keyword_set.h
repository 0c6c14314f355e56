// A list of keywords searched for in a text all at once, ignoring ASCII case: one pass over the
// text whatever the number of keywords (Aho-Corasick). An empty keyword occurs in every text.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class KeywordSet {
 public:
  explicit KeywordSet(const std::vector<std::string>& keywords);

  bool empty() const { return keywords_ == 0; }
  // Whether at least one keyword occurs; stops at the first.
  bool anyOccurs(std::string_view text) const;
  // Whether every keyword occurs; stops once all have been seen.
  bool allOccur(std::string_view text) const;

 private:
  struct Node {
    std::vector<std::pair<unsigned char, int>> next;  // the root's are in rootNext_
    int fail = 0;
    int output = -1;  // nearest node on the fail chain (this one included) that ends a keyword
    bool ends = false;
  };
  int child(int node, unsigned char c) const;
  int step(int node, unsigned char c) const;

  std::vector<Node> nodes_;
  std::array<int, 256> rootNext_{};
  size_t keywords_ = 0;
  size_t distinct_ = 0;  // distinct non-empty keywords: nodes that end one
  bool hasEmpty_ = false;
};

}  // namespace korvex
