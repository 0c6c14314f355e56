// The main window's fields, options and buttons by their names: the settings table names the
// control of each setting with them.
#pragma once

namespace korvex {

enum class Field {
  txtBaseURL,
  txtNoOfEmails,
  txtNoOfURLs,
  txtNoOfValidUrls,
  txtNoOfExtUrl,
  txtNoOfPages,
  txtMaxTime,
  txtURLMustKeyword,
  txtURLMustNotKeyword,
  txtPagesMustKeyword,
  txtPagesMustNotKeyword,
  txtDelimiter,
  cboDepth,
  cboThreads,
  lblStatus,
  lblDetails,
  // Crawling politely: the pause between two requests to one site, the agent string, and the
  // URLs robots.txt kept the scan from (a counter, and one "URL (reason)" line each).
  txtDelayPerHost,
  txtUserAgent,
  txtNoOfRefused,
  txtRefusedURLs,
  // Start URLs of a scan from a list, one a line.
  txtURLList,
  // Where the scan may go ("Stay on:"), and the links it left out for that.
  cboScope,
  txtNoOfOutOfScope,
  // Keyword mode: a metasearch engine that answers JSON, asked instead of the default engine.
  txtEngineJson,
};
inline constexpr int kFieldCount = static_cast<int>(Field::txtEngineJson) + 1;

enum class Option {
  optURL,
  optKeyword,
  OptURLAny,
  OptURLAll,
  OptPagesAny,
  OptPagesAll,
  chkObeyRobots,
  optURLList,       // the third search criterion, beside optURL and optKeyword
  chkSitemaps,      // read the start site's sitemaps
  chkCheckDomains,  // ask DNS whether the addresses' domains take mail
  chkDocuments,     // read PDF and office files
};
inline constexpr int kOptionCount = static_cast<int>(Option::chkDocuments) + 1;

enum class Button { cmdScan, cmdPause, cmdStop };
inline constexpr int kButtonCount = static_cast<int>(Button::cmdStop) + 1;

}  // namespace korvex
