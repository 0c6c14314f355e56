#include "session/json_engine.h"

#include <nlohmann/json.hpp>

#include "base/text.h"

namespace korvex {

std::string jsonEngineAddress(const std::string& engine, const std::string& words, int page) {
  std::string query;
  for (unsigned char c : words) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      query += static_cast<char>(c);
    } else if (c == ' ') {
      query += '+';
    } else {
      appendEscapedByte(query, c);
    }
  }
  // A fragment is never sent: the query goes before it, and it is left out.
  const std::string base = engine.substr(0, engine.find('#'));
  return base + (base.find('?') == std::string::npos ? "?" : "&") + "q=" + query +
         "&format=json&pageno=" + std::to_string(page);
}

JsonEngineAnswer readJsonEngineAnswer(const ReadResult& read) {
  JsonEngineAnswer answer;
  const std::string status = " (HTTP " + std::to_string(read.status) + ")";
  if (!read.opened) {
    answer.problem = "the engine could not be read: " + read.failure;
  } else if (read.status == 403) {
    answer.problem = "the engine does not allow JSON" + status;
  } else if (read.status == 429) {
    answer.problem = "the engine asks to be asked less often" + status;
  } else if (read.status >= 400) {
    answer.problem = "the engine answered an error" + status;
  } else {
    const auto json = nlohmann::json::parse(read.text, nullptr, false);
    if (json.is_discarded()) {
      answer.problem = "the engine's answer is not JSON" + status;
    } else if (!json.is_object() || !json.contains("results") || !json["results"].is_array()) {
      answer.problem = "the engine's JSON has no results" + status;
    } else {
      for (const auto& result : json["results"])
        if (result.is_object() && result.contains("url") && result["url"].is_string())
          answer.urls.push_back(result["url"].get<std::string>());
    }
  }
  return answer;
}

}  // namespace korvex
