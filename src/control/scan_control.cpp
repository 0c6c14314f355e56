#include "control/scan_control.h"

#include "base/number.h"
#include "base/shown_url.h"
#include "base/text.h"
#include "control/field_checks.h"
#include "control/window_defaults.h"

namespace korvex {

WorkerFactory realWorkers() {
  return clsEmail::factory();
}

ScanControl::ScanControl(Window& window, Host& host, Dialogs& dialogs, WorkerFactory factory,
                         OnlineProbe online, EngineProfile profile, const Clock& clock)
    : window_(window),
      host_(host),
      dialogs_(dialogs),
      online_(std::move(online)),
      profile_(std::move(profile)),
      clock_(clock),
      windowSink_(window),
      dispatcher_(state_, results_, host, objNet_, std::move(factory)),
      harvester_(state_, results_, host, objNet_, dispatcher_, profile_) {}

StartOutcome ScanControl::cmdScan_Click() {
  if (!online_()) {
    dialogs_.message("You are not connected to internet. Please check.");
    return StartOutcome::NotConnected;
  }
  if (!checkParameters()) return StartOutcome::ParameterRefused;
  if (!dialogs_.ask("Have you entered all the Search Parameters you need for this session?"))
    return StartOutcome::NotConfirmed;
  prepare();
  connectionFailure_.clear();
  const CrawlSettings settings = settingsFromWindow();
  objNet_ = std::make_unique<CNetGet>(settings.page, host_, clock_);
  if (!objNet_->openUrl()) {
    connectionFailure_ = objNet_->openFailure();
    objNet_.reset();
    showIdle();
    return StartOutcome::ConnectionFailed;
  }
  dispatcher_.resetPool(settings);
  state_.bWorkersMade = false;
  state_.bCollected = true;

  if (window_.option(Option::optURL)) {
    runUrlMode();
  } else {
    runKeywordMode();
  }
  if (objNet_) objNet_->closeURL();
  objNet_.reset();
  dispatcher_.TerminateThreads();
  if (dispatcher_.poolFailed()) {
    dialogs_.message("The workers of the scan could not be started.");
    return StartOutcome::WorkersFailed;
  }
  return StartOutcome::Ran;
}

CrawlSettings ScanControl::settingsFromWindow() const {
  return {.maxDepth = maxDepthFromWindow(window_),
          .maxPages = fieldNumber(window_, Field::txtNoOfPages),
          .threads = static_cast<int>(roundHalfEven(fieldNumber(window_, Field::cboThreads))),
          .delayMs = fieldNumber(window_, Field::txtDelayPerHost),
          .obeyRobots = window_.option(Option::chkObeyRobots),
          .page = pageSettingsFromWindow(window_, state_)};
}

bool ScanControl::checkParameters() {
  const bool urlMode = window_.option(Option::optURL);
  const bool keywordMode = window_.option(Option::optKeyword);
  const bool baseEmpty = trimSpaces(window_.text(Field::txtBaseURL)).empty();
  const long long threads = roundHalfEven(fieldNumber(window_, Field::cboThreads));
  struct Check {
    bool fails;
    std::string message;
    Field focus;
  };
  auto failed = [](const std::optional<std::string>& m) { return m.value_or(""); };
  const std::string scheme = urlMode ? failed(checkBaseUrl(window_.text(Field::txtBaseURL))) : "";
  const std::string maxTime = failed(checkMaxTime(window_.text(Field::txtMaxTime)));
  const std::string delay = failed(checkDelayPerHost(window_.text(Field::txtDelayPerHost)));
  const Check checks[] = {
      {!urlMode && !keywordMode,
       "Please select a search URL or keyword by clicking on Search Parameters tab.",
       Field::txtBaseURL},
      {urlMode && baseEmpty,
       "Please enter the base URL or keyword by click on the Search Parameters tab..",
       Field::txtBaseURL},
      {keywordMode && baseEmpty, "Please enter the search string", Field::txtBaseURL},
      {!scheme.empty(), scheme, Field::txtBaseURL},
      {!window_.hasSelection(Field::cboDepth), "Please select the search depth level.",
       Field::cboDepth},
      {fieldNumber(window_, Field::txtNoOfPages) <= 0, "Please enter the  max no. of search pages.",
       Field::txtNoOfPages},
      // Without a worker the crawl would wait for an idle one for ever; a typed count beyond
      // the list would make as many threads as it says.
      {threads < 1 || threads > kMaxThreads, "Please select the number of threads.",
       Field::cboThreads},
      // Every value the scan uses is checked: a time limit or delay that cannot be read would
      // fail every page.
      {!maxTime.empty(), maxTime, Field::txtMaxTime},
      {!delay.empty(), delay, Field::txtDelayPerHost},
  };
  for (const Check& c : checks) {
    if (!c.fails) continue;
    dialogs_.message(c.message);
    window_.focus(c.focus);
    return false;
  }
  return true;
}

void ScanControl::prepare() {
  state_.iPagesPerPass = 3;
  window_.setText(Field::lblDetails, "");
  window_.setText(Field::lblStatus, "In Progress");
  host_.yield();
  std::string base = trimmed(window_.text(Field::txtBaseURL));
  if (window_.option(Option::optURL) && !base.empty()) {
    const std::string lower = asciiLowerCopy(base.substr(0, 6));
    if (!lower.starts_with("http:") && !lower.starts_with("https:")) base = "http://" + base;
  }
  window_.setText(Field::txtBaseURL, base);
  state_.iDepth = 0;
  for (Field f : {Field::txtEmail, Field::txtURLs, Field::txtNoOfEmails, Field::txtNoOfURLs,
                  Field::txtNoOfValidUrls, Field::txtNoOfRefused, Field::txtRefusedURLs})
    window_.setText(f, "");
  results_.reset(&windowSink_);
  windowSink_.started();
  state_.sPageURL.clear();
  state_.bStop = false;
  window_.setText(Field::txtNoOfExtUrl, "1");
  const std::string format = window_.gridFormat();
  window_.clearGrid();
  window_.setGridRows(2);
  window_.setGridFormat(format);
  state_.sEmailList.clear();
  state_.sVisitedURLs.clear();
  window_.setEnabled(Button::cmdScan, false);
  window_.setEnabled(Button::cmdPause, true);
  window_.setEnabled(Button::cmdStop, true);
  state_.sPageLinks.clear();
  state_.iMaxDepth = maxDepthFromWindow(window_);
  state_.aURLMust = split(window_.text(Field::txtURLMustKeyword), kCrLf);
  state_.aURLMustNot = split(window_.text(Field::txtURLMustNotKeyword), kCrLf);
  state_.aPagesMust = split(window_.text(Field::txtPagesMustKeyword), kCrLf);
  state_.aPagesMustNot = split(window_.text(Field::txtPagesMustNotKeyword), kCrLf);
  state_.bPause = false;
  state_.bStop = false;
}

void ScanControl::runUrlMode() {
  const std::string base = window_.text(Field::txtBaseURL);
  state_.sPendingURLs = {base};
  state_.sVisitedURLs.clear();
  state_.sVisitedURLs.add(base);
  dispatcher_.ScanURL();
  state_.bStop = true;
  // A base URL that gave nothing says why, beside the status.
  if (const auto failure = startPageFailure()) {
    window_.setText(Field::lblDetails, "The base URL could not be opened: " + *failure);
  } else if (const auto status = startPageErrorStatus()) {
    window_.setText(Field::lblDetails, "The base URL answered HTTP " + std::to_string(*status));
  }
  showIdle();
}

void ScanControl::runKeywordMode() {
  state_.sKeywords = replaceAll(window_.text(Field::txtBaseURL), " ", "+");
  const std::string search = profile_.searchAddress() + state_.sKeywords;
  state_.sPendingURLs = {search};
  state_.lSearchPage = 1;
  state_.aSearchPages = {"", search};
  while (state_.lSearchPage <= static_cast<long long>(state_.aSearchPages.size()) - 1) {
    if (state_.bStop) break;
    while (state_.bPause) host_.wait();
    state_.sPendingURLs = {state_.aSearchPages[state_.lSearchPage]};
    state_.sStartLinks.clear();
    harvester_.searchPagesURLs();
    ++state_.lSearchPage;
  }
  showIdle();
}

std::optional<std::string> ScanControl::startPageFailure() const {
  if (!window_.option(Option::optURL)) return std::nullopt;
  const auto& refused = results_.refused();
  if (!refused.empty() && refused.front().url == shownUrl(window_.text(Field::txtBaseURL)))
    return refused.front().reason;
  const auto& first = dispatcher_.firstPage();
  if (!first || first->read) return std::nullopt;
  return first->failure;
}

std::optional<long> ScanControl::startPageErrorStatus() const {
  const auto& first = dispatcher_.firstPage();
  if (!window_.option(Option::optURL) || !first || first->status < 400) return std::nullopt;
  return first->status;
}

void ScanControl::showIdle() {
  window_.setText(Field::lblStatus, "Idle");
  window_.setEnabled(Button::cmdStop, false);
  window_.setEnabled(Button::cmdPause, false);
  window_.setEnabled(Button::cmdScan, true);
}

void ScanControl::cmdPause_Click() {
  if (window_.caption(Button::cmdPause) == "Pause") {
    window_.setCaption(Button::cmdPause, "Resume");
    state_.bPause = true;
    window_.setText(Field::lblStatus, "Paused");
  } else {
    window_.setCaption(Button::cmdPause, "Pause");
    state_.bPause = false;
    window_.setText(Field::lblStatus, "In Progress");
  }
}

void ScanControl::cmdStop_Click() {
  if (!dialogs_.ask("Do you really want to stop the process?")) return;
  dispatcher_.TerminateThreads();
  window_.setEnabled(Button::cmdScan, true);
  window_.setEnabled(Button::cmdStop, false);
  window_.setCaption(Button::cmdPause, "Pause");
  window_.setEnabled(Button::cmdPause, false);
  state_.bStop = true;
  state_.bPause = false;
  if (objNet_) objNet_->closeURL();
  window_.setText(Field::lblStatus, "Idle");
  window_.setCaption(Button::cmdPause, "Pause");
}

void ScanControl::Form_Unload(bool& cancel) {
  if (!trimSpaces(window_.text(Field::txtEmail)).empty() &&
      !dialogs_.ask(
          "Please make sure that you have saved the results. Do you really want to exit?")) {
    cancel = true;
    return;
  }
  if (objNet_) objNet_->closeURL();
  dispatcher_.TerminateThreads();
}

}  // namespace korvex
