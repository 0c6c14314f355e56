#include "window/scan_control.h"

#include "base/number.h"
#include "base/text.h"
#include "settings/field_checks.h"
#include "settings/scan_settings.h"
#include "settings/url_list.h"
#include "window/window_defaults.h"
#include "window/window_settings.h"

namespace korvex {

namespace {
// How long leaving waits for a stopped scan: its workers end their pages within about a second.
constexpr std::chrono::seconds kLeavingWait{10};
}  // namespace

ScanControl::ScanControl(Window& window, Dialogs& dialogs, WorkerFactory factory,
                         OnlineProbe online, EngineProfile profile, const Clock& clock)
    : window_(window),
      dialogs_(dialogs),
      online_(std::move(online)),
      windowSink_(window),
      queue_(windowSink_),
      news_(queue_, window),
      session_(std::move(factory), std::move(profile), clock) {
  session_.showResults({&windowSink_});
  window_.showResults(results());
}

ScanControl::~ScanControl() {
  session_.stop();
  // A scan cut short by leaving stays resumable; one that could not be waited for leaves its
  // journal running, to be offered at the next start.
  if (session_.waitFor(kLeavingWait) && journal_) journal_->end(journalStatusOfTheEnd());
}

JournalStatus ScanControl::journalStatusOfTheEnd() const {
  const Scan& scan = session_.scan();
  return session_.end() == ScanEnd::Ran && !scan.stopped() && !scan.engineUnread()
             ? JournalStatus::Finished
             : JournalStatus::Stopped;
}

StartOutcome ScanControl::cmdScan_Click() {
  if (!online_()) {
    dialogs_.message("You are not connected to internet. Please check.");
    return StartOutcome::NotConnected;
  }
  if (!checkParameters()) return StartOutcome::ParameterRefused;
  if (!dialogs_.ask("Have you entered all the Search Parameters you need for this session?"))
    return StartOutcome::NotConfirmed;
  prepare();
  const bool listMode = window_.option(Option::optURLList);
  const UrlList list = listMode ? readUrlList(window_.text(Field::txtURLList)) : UrlList{};
  const ScanInput input = inputFromWindow(list.urls);
  if (listMode) {
    std::string skipped;
    for (const std::string& problem : list.problems)
      skipped += (skipped.empty() ? "Lines skipped: " : "; ") + problem;
    window_.setText(Field::lblDetails, skipped);
  }
  std::unique_ptr<Journal> journal;
  auto made =
      Journal::create(std::nullopt, input, std::chrono::system_clock::now(), journalFailure());
  if (auto* failure = std::get_if<std::string>(&made))
    window_.setText(Field::lblDetails,
                    "The journal cannot be created: " + *failure + "; the scan goes on without it");
  else
    journal = std::move(std::get<std::unique_ptr<Journal>>(made));
  return run(scanRequest(input), std::move(journal), std::nullopt);
}

Journal::FailureReport ScanControl::journalFailure() {
  return [this](const std::string& message) {
    queue_.post([this, message] { window_.setText(Field::lblDetails, message); });
  };
}

StartOutcome ScanControl::run(const ScanRequest& request, std::unique_ptr<Journal> journal,
                              std::optional<ScanProgress> resumed) {
  journal_ = std::move(journal);
  std::vector<ScanSink*> sinks{&news_};
  if (journal_) sinks.push_back(journal_.get());
  baseReadNow_ = !resumed || resumed->scanned.empty();
  session_.start(request, sinks, std::move(resumed));
  scanning_ = true;
  return StartOutcome::Started;
}

bool ScanControl::deliver() {
  queue_.deliver();
  if (!scanning_) return true;
  if (!session_.waitFor(std::chrono::milliseconds(0))) return false;
  queue_.deliver();  // what came between the first delivery and the end
  finish();
  return true;
}

void ScanControl::finish() {
  scanning_ = false;
  const Scan& scan = session_.scan();
  const ScanEnd end = session_.end();
  if (journal_) journal_->end(journalStatusOfTheEnd());
  journal_.reset();
  queue_.deliver();  // what the journal's end reported
  // A base URL that gave nothing says why, beside the status.
  if (const auto failure =
          end == ScanEnd::Ran && baseReadNow_ ? scan.startPageFailure() : std::nullopt) {
    window_.setText(Field::lblDetails, "The base URL could not be opened: " + *failure);
  } else if (const auto status =
                 end == ScanEnd::Ran && baseReadNow_ ? scan.startPageErrorStatus() : std::nullopt) {
    window_.setText(Field::lblDetails, "The base URL answered HTTP " + std::to_string(*status));
  }
  if (!scan.engineProblems().empty()) {
    std::string problems;
    for (const std::string& p : scan.engineProblems())
      problems += (problems.empty() ? "" : "; ") + p;
    window_.setText(Field::lblDetails, problems);
  }
  showIdle();
  switch (end) {
    case ScanEnd::ConnectionFailed:
      outcome_ = StartOutcome::ConnectionFailed;
      return;
    case ScanEnd::WorkersFailed:
      outcome_ = StartOutcome::WorkersFailed;
      dialogs_.message("The workers of the scan could not be started.");
      return;
    case ScanEnd::Ran:
      outcome_ = StartOutcome::Ran;
  }
}

void ScanControl::offerLastScan() {
  const auto journals = journalsNewestFirst();
  // A crash, a kill or a power cut leaves a journal that says it is running, and no program
  // holding it.
  if (journals.empty() || journalStatus(journals.front()) != JournalStatus::Running ||
      journalInUse(journals.front()))
    return;
  if (dialogs_.ask("The last scan did not finish. Resume it?")) openJournal(journals.front(), true);
}

void ScanControl::openJournal(const std::string& path, bool resume) {
  if (scanning_) return;  // nothing swaps the results under a running scan
  JournalContents contents;
  auto taken = Journal::resume(path, contents, journalFailure());
  if (auto* failure = std::get_if<std::string>(&taken)) {
    dialogs_.message(*failure);
    return;
  }
  auto journal = std::move(std::get<std::unique_ptr<Journal>>(taken));
  const ScanInput& settings = contents.settings;
  showSettings(settings.values, window_);
  window_.setOption(settings.keywordMode      ? Option::optKeyword
                    : settings.starts.empty() ? Option::optURL
                                              : Option::optURLList,
                    true);
  window_.setText(Field::txtBaseURL, settings.starts.empty() ? settings.base : "");
  std::string list;
  for (const std::string& url : settings.starts) list += url + kCrLf;
  window_.setText(Field::txtURLList, list);
  const bool finished = contents.status == JournalStatus::Finished;
  if (!finished && !settings.keywordMode && !resume)
    resume = dialogs_.ask("This scan did not finish. Resume it?");
  if (finished || settings.keywordMode || !resume || !online_()) {
    showResults(contents.progress);  // as it was left, and still resumable from its file
    return;
  }
  prepare();
  run(scanRequest(settings), std::move(journal), std::move(contents.progress));
}

ScanInput ScanControl::inputFromWindow(const std::vector<std::string>& listed) const {
  ScanInput input{.keywordMode = window_.option(Option::optKeyword),
                  .base = window_.text(Field::txtBaseURL),
                  .values = settingsFromWindow(window_)};
  if (input.keywordMode) input.engineJson = trimmed(window_.text(Field::txtEngineJson));
  if (window_.option(Option::optURLList)) {
    input.starts = listed;
    input.base = input.starts.front();  // Start refuses an empty list
  }
  return input;
}

bool ScanControl::checkParameters() {
  const bool urlMode = window_.option(Option::optURL);
  const bool keywordMode = window_.option(Option::optKeyword);
  const bool listMode = window_.option(Option::optURLList);
  struct Check {
    bool fails;
    std::string message;
    Field focus;
  };
  const std::string search =
      urlMode || keywordMode
          ? checkSearchText(urlMode, window_.text(Field::txtBaseURL)).value_or("")
          : "";
  const Check checks[] = {
      {!urlMode && !keywordMode && !listMode,
       "Please select a search URL or keyword by clicking on Search Parameters tab.",
       Field::txtBaseURL},
      {listMode && readUrlList(window_.text(Field::txtURLList)).urls.empty(),
       "Please enter the URLs to scan, one per line.", Field::txtURLList},
      {keywordMode && !trimmed(window_.text(Field::txtEngineJson)).empty() &&
           !isWebUrl(trimmed(window_.text(Field::txtEngineJson))),
       "The JSON engine needs an http or https URL with a host.", Field::txtEngineJson},
      {!search.empty(), search, Field::txtBaseURL},
      {!window_.hasSelection(Field::cboDepth), "Please select the search depth level.",
       Field::cboDepth},
      {fieldNumber(window_, Field::txtNoOfPages) <= 0, "Please enter the  max no. of search pages.",
       Field::txtNoOfPages},
  };
  for (const Check& c : checks) {
    if (!c.fails) continue;
    dialogs_.message(c.message);
    window_.focus(c.focus);
    return false;
  }
  // Then every other value the scan uses: one that cannot be read would fail every page.
  if (const auto refused = firstRefusal(settingsFromWindow(window_), true)) {
    dialogs_.message(refused->message);
    window_.focus(rowOf(refused->setting).field);
    return false;
  }
  return true;
}

void ScanControl::showResults(const ScanProgress& progress) {
  clearResults(&progress);
}

void ScanControl::prepare() {
  window_.setText(Field::lblDetails, "");
  window_.setText(Field::lblStatus, "In Progress");
  std::string base = trimmed(window_.text(Field::txtBaseURL));
  if (window_.option(Option::optURL)) base = withScheme(base);
  window_.setText(Field::txtBaseURL, base);
  clearResults();
  window_.setEnabled(Button::cmdScan, false);
  window_.setEnabled(Button::cmdPause, true);
  window_.setEnabled(Button::cmdStop, true);
}

void ScanControl::clearResults(const ScanProgress* kept) {
  for (Field f : {Field::txtNoOfEmails, Field::txtNoOfURLs, Field::txtNoOfValidUrls,
                  Field::txtNoOfRefused, Field::txtRefusedURLs, Field::txtNoOfOutOfScope})
    window_.setText(f, "");
  window_.setText(Field::txtNoOfExtUrl, "1");
  windowSink_.started();
  session_.showResults({&windowSink_}, kept);
  window_.showResults(results());
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
    session_.setPaused(true);
    window_.setText(Field::lblStatus, "Paused");
  } else {
    window_.setCaption(Button::cmdPause, "Pause");
    session_.setPaused(false);
    window_.setText(Field::lblStatus, "In Progress");
  }
}

void ScanControl::cmdStop_Click() {
  if (!dialogs_.ask("Do you really want to stop the process?")) return;
  session_.stop();
  window_.setEnabled(Button::cmdScan, true);
  window_.setEnabled(Button::cmdStop, false);
  window_.setCaption(Button::cmdPause, "Pause");
  window_.setEnabled(Button::cmdPause, false);
  window_.setText(Field::lblStatus, "Idle");
  window_.setCaption(Button::cmdPause, "Pause");
}

void ScanControl::Form_Unload(bool& cancel) {
  const bool listed = [this] {
    const auto lock = results().reading();
    return !results().addresses().empty();
  }();
  if (listed &&
      !dialogs_.ask(
          "Please make sure that you have saved the results. Do you really want to exit?")) {
    cancel = true;
    return;
  }
  session_.stop();
}

void ScanControl::stopForExit() {
  session_.stop();
}

}  // namespace korvex
