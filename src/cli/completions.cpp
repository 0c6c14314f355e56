#include "cli/completions.h"

#include <CLI/CLI.hpp>
#include <set>
#include <sstream>

#include "cli/scan_outputs.h"
#include "settings/scan_settings.h"

namespace korvex::cli {
namespace {

// Options whose value is a file name.
const std::set<std::string> kFileOptions = {"--output", "--journal", "--urls-from"};

struct Flag {
  std::string name;
  std::string help;
  bool takesValue;
  bool repeatable;
};

struct Command {
  std::string name;
  std::string help;
  std::vector<Flag> flags;
  bool fileArgument;  // a positional FILE (a journal)
};

// The visible subcommands with their long options, help included.
std::vector<Command> commandsOf(const CLI::App& app) {
  std::vector<Command> out;
  for (const CLI::App* sub :
       app.get_subcommands([](const CLI::App* s) { return !s->get_group().empty(); })) {
    Command c{sub->get_name(), sub->get_description(), {}, false};
    for (const CLI::Option* o : sub->get_options()) {
      if (o->get_positional()) {
        c.fileArgument = c.fileArgument || o->get_name() == "FILE";
        continue;
      }
      for (const std::string& name : o->get_lnames())
        c.flags.push_back({"--" + name, o->get_description(), o->get_expected_min() > 0,
                           o->get_multi_option_policy() == CLI::MultiOptionPolicy::TakeAll ||
                               o->get_expected_max() > 1});
    }
    out.push_back(std::move(c));
  }
  return out;
}

// The words a value option takes, or none.
std::vector<std::string> valuesOf(const std::string& command, const std::string& flag) {
  std::vector<std::string> words;
  if (flag == "--format") {
    if (command == "page" || command == "journals") return {"text", "json"};
    for (const auto& [name, format] : formatNames()) words.push_back(name);
  }
  for (const SettingRow& row : settingTable())
    if (flag == row.flag)
      for (const auto& [word, shown] : row.flagWords) words.push_back(std::string(word));
  return words;
}

std::string joined(const std::vector<std::string>& words, const char* between = " ") {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : between) + w;
  return out;
}

// Help text fit for a zsh option description: no brackets, colons or quotes.
std::string zshHelp(std::string text) {
  for (char& c : text)
    if (c == '[' || c == ']' || c == ':' || c == '\'' || c == '\n' || c == '\\') c = ' ';
  return text.substr(0, 70);
}

}  // namespace

std::string bashCompletion(const CLI::App& app) {
  const std::vector<Command> commands = commandsOf(app);
  std::vector<std::string> names;
  for (const Command& c : commands) names.push_back(c.name);
  std::ostringstream out;
  out << "# bash completion for korvex-cli; made from its options when it was built\n"
      << "_korvex_cli() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} sub= i\n"
      << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      << "    case ${COMP_WORDS[i]} in " << joined(names, "|") << ") "
      << "sub=${COMP_WORDS[i]}; break ;; esac\n"
      << "  done\n"
      << "  case $sub$prev in\n";
  for (const Command& c : commands) {
    for (const Flag& f : c.flags) {
      if (!f.takesValue) continue;
      out << "    " << c.name << f.name << ") ";
      if (kFileOptions.contains(f.name))
        out << "COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
      else
        out << "COMPREPLY=($(compgen -W \"" << joined(valuesOf(c.name, f.name))
            << "\" -- \"$cur\")); return ;;\n";
    }
  }
  out << "  esac\n  case $sub in\n"
      << "    \"\") COMPREPLY=($(compgen -W \"" << joined(names)
      << " --help --version\" -- \"$cur\")) ;;\n";
  for (const Command& c : commands) {
    std::vector<std::string> flags{"--help"};
    for (const Flag& f : c.flags) flags.push_back(f.name);
    out << "    " << c.name << ") ";
    if (c.fileArgument) out << "[[ $cur != -* ]] && COMPREPLY=($(compgen -f -- \"$cur\")) || ";
    out << "COMPREPLY=($(compgen -W \"" << joined(flags) << "\" -- \"$cur\")) ;;\n";
  }
  out << "  esac\n}\ncomplete -F _korvex_cli korvex-cli\n";
  return out.str();
}

std::string zshCompletion(const CLI::App& app) {
  std::ostringstream out;
  out << "#compdef korvex-cli\n# zsh completion for korvex-cli; made from its options when it "
         "was built\n_korvex-cli() {\n  local -a commands=(\n";
  const std::vector<Command> commands = commandsOf(app);
  for (const Command& c : commands) out << "    '" << c.name << ":" << zshHelp(c.help) << "'\n";
  out << "  )\n  if (( CURRENT == 2 )); then _describe command commands; return; fi\n"
      << "  local sub=$words[2]; shift words; (( CURRENT-- ))\n  case $sub in\n";
  for (const Command& c : commands) {
    out << "    " << c.name << ") _arguments";
    for (const Flag& f : c.flags) {
      out << " \\\n        '" << (f.repeatable ? "*" : "") << f.name << "[" << zshHelp(f.help)
          << "]";
      if (f.takesValue) {
        const std::vector<std::string> values = valuesOf(c.name, f.name);
        out << ":value:"
            << (kFileOptions.contains(f.name) ? "_files"
                : values.empty()              ? std::string()
                                              : "(" + joined(values) + ")");
      }
      out << "'";
    }
    if (c.fileArgument) out << " \\\n        ':journal:_files'";
    out << " ;;\n";
  }
  out << "  esac\n}\n_korvex-cli \"$@\"\n";
  return out.str();
}

void addCompletionsCommand(CLI::App& app, std::string& shell) {
  auto* command = app.add_subcommand("completions", "Print the shell completion (bash or zsh)");
  command->group("");  // made for the build, not shown
  command->add_option("SHELL", shell)->required()->check(CLI::IsMember({"bash", "zsh"}));
}

}  // namespace korvex::cli
