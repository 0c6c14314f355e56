#include "base/keyword_set.h"

#include <deque>

#include "base/text.h"

namespace korvex {

KeywordSet::KeywordSet(const std::vector<std::string>& keywords)
    : nodes_(1), keywords_(keywords.size()) {
  // The trie of the lower-cased keywords.
  for (const std::string& keyword : keywords) {
    if (keyword.empty()) {
      hasEmpty_ = true;
      continue;
    }
    int node = 0;
    for (char raw : keyword) {
      const auto c = static_cast<unsigned char>(asciiLower(raw));
      int next = child(node, c);
      if (next <= 0) {
        next = static_cast<int>(nodes_.size());
        nodes_.emplace_back();
        if (node == 0) {
          rootNext_[c] = next;
        } else {
          nodes_[node].next.emplace_back(c, next);
        }
      }
      node = next;
    }
    if (!nodes_[node].ends) ++distinct_;
    nodes_[node].ends = true;
  }
  // Fail and output links, breadth first.
  std::deque<int> queue;
  for (int c = 0; c < 256; ++c)
    if (rootNext_[c] > 0) queue.push_back(rootNext_[c]);
  while (!queue.empty()) {
    const int node = queue.front();
    queue.pop_front();
    Node& n = nodes_[node];
    n.output = n.ends ? node : (n.fail > 0 ? nodes_[n.fail].output : -1);
    for (const auto& [c, next] : n.next) {
      nodes_[next].fail = step(n.fail, c);
      queue.push_back(next);
    }
  }
}

int KeywordSet::child(int node, unsigned char c) const {
  if (node == 0) return rootNext_[c];
  for (const auto& [key, next] : nodes_[node].next)
    if (key == c) return next;
  return -1;
}

int KeywordSet::step(int node, unsigned char c) const {
  while (true) {
    if (node == 0) return rootNext_[c];
    if (const int next = child(node, c); next > 0) return next;
    node = nodes_[node].fail;
  }
}

bool KeywordSet::anyOccurs(std::string_view text) const {
  if (hasEmpty_) return true;
  if (distinct_ == 0) return false;
  int node = 0;
  for (char raw : text) {
    node = step(node, static_cast<unsigned char>(asciiLower(raw)));
    if (nodes_[node].output >= 0) return true;
  }
  return false;
}

bool KeywordSet::allOccur(std::string_view text) const {
  if (distinct_ == 0) return true;
  // Each node's keywords are counted once: a node seen before is not walked again, so the
  // output chains cost no more than the nodes.
  std::vector<bool> seen(nodes_.size(), false);
  size_t found = 0;
  int node = 0;
  for (char raw : text) {
    node = step(node, static_cast<unsigned char>(asciiLower(raw)));
    for (int out = nodes_[node].output; out >= 0 && !seen[out];
         out = nodes_[nodes_[out].fail].output) {
      seen[out] = true;
      ++found;
      if (found == distinct_) return true;
    }
  }
  return false;
}

}  // namespace korvex
