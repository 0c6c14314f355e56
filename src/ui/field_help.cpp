#include "ui/field_help.h"

namespace korvex::ui {

std::optional<QString> fieldHelp(const QString& control, bool urlMode) {
  static const struct {
    const char* control;
    const char* text;
  } kHelp[] = {
      {"cboDepth", "Select the search level depth"},
      {"txtNoOfPages", "Enter the maximum number of pages to be processed"},
      {"txtMaxTime",
       "Enter the maximum time in minutes, the application can try for downloading a page"},
      {"txtURLMustKeyword", "Enter the keywords one per each line which should appear in the URL"},
      {"txtURLMustNotKeyword",
       "Enter the keywords one per each line which should not appear in the URL"},
      {"OptURLAny",
       "Select this option if the selected URL should contain any one of the must keywords"},
      {"OptURLAll",
       "Select this option if the selected URL should contain all of the must keywords"},
      {"txtPagesMustKeyword",
       "Enter the keywords one per each line which should appear in the retrieved page"},
      {"txtPagesMustNotKeyword",
       "Enter the keywords one per each line which should not appear in the retrieved page"},
      {"OptPagesAny",
       "Select this option if the retrieved page should contain any one of the must keywords"},
      {"OptPagesAll",
       "Select this option if the retrieved page should contain all of the must keywords"},
      {"chkObeyRobots",
       "Clear this option only to crawl your own sites without reading their robots.txt"},
      {"txtDelayPerHost",
       "Enter the time in milliseconds to wait between two requests to the same site"},
      {"txtUserAgent", "Enter the name the application gives itself to the sites it reads"},
  };
  if (control == QLatin1String("txtBaseURL"))
    return urlMode ? QStringLiteral("Enter the base URL from which search should begin")
                   : QStringLiteral("Enter the search keyword(s)");
  for (const auto& h : kHelp)
    if (control == QLatin1String(h.control)) return QString::fromLatin1(h.text);
  return std::nullopt;
}

}  // namespace korvex::ui
