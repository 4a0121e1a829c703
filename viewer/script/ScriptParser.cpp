#include "viewer/script/ScriptParser.h"

#include <charconv>
#include <cmath>
#include <map>

#include "host/HostTypes.h"

namespace viewer::script {

namespace {

struct Arity {
  std::size_t min;
  std::size_t max;
};

// Commands and how many arguments each takes.
const std::map<std::string, Arity, std::less<>>& Commands() {
  static const std::map<std::string, Arity, std::less<>> commands = {
      {"open", {1, 2}},         {"front", {1, 1}},        {"page", {1, 1}},        {"zoom", {1, 1}},
      {"tool", {1, 1}},         {"menu", {1, 1}},         {"click", {2, 4}},       {"right-click", {2, 2}},
      {"key", {1, 2}},          {"drag-to", {4, 5}},      {"popup", {1, 1}},       {"answer-alert", {1, 1}},
      {"choose-file", {1, 64}}, {"choose-folder", {1, 1}}, {"pick-color", {3, 3}}, {"dialog", {1, 1}},
      {"save", {0, 0}},         {"save-as", {1, 1}},      {"close", {0, 0}},
  };
  return commands;
}

const std::map<std::string, Arity, std::less<>>& DialogVerbs() {
  static const std::map<std::string, Arity, std::less<>> verbs = {
      {"set", {2, 2}}, {"check", {2, 2}}, {"select", {2, 2}}, {"press", {1, 1}}};
  return verbs;
}

std::string CheckArguments(const std::string& verb, const std::vector<std::string>& args) {
  const auto ints = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < args.size(); ++i) {
      int value = 0;
      if (!ParseScriptInt(args[i], &value)) return "\"" + args[i] + "\" is not a whole number";
    }
    return std::string();
  };
  const auto positive = [&](std::size_t i) {
    int value = 0;
    return ParseScriptInt(args[i], &value) && value >= 1 ? std::string() : verb + " needs a number from 1 on";
  };
  if (verb == "front" || verb == "page" || verb == "answer-alert") return positive(0);
  if (verb == "zoom") {
    double percent = 0;
    return ParseScriptNumber(args[0], &percent) && percent > 0 ? std::string() : "zoom needs a percentage above 0";
  }
  if (verb == "click" || verb == "right-click" || verb == "drag-to") return ints(0, args.size());
  if (verb == "key") {
    if (ParseKeyCode(args[0]) < 0) return "unknown key \"" + args[0] + "\"";
    return ints(1, 2);
  }
  if (verb == "pick-color") {
    for (const std::string& arg : args) {
      int value = 0;
      if (!ParseScriptInt(arg, &value) || value < 0 || value > 65535) return "colour components are 0 to 65535";
    }
  }
  if (verb == "open" && args.size() == 2 && args[1] != "hidden") return "open PATH takes only \"hidden\" after it";
  return {};
}

std::string CheckDialogLine(const std::string& verb, const std::vector<std::string>& args) {
  int value = 0;
  if (!ParseScriptInt(args[0], &value)) return "dialog items are numbers";
  if (verb == "check" && args[1] != "0" && args[1] != "1") return "check takes 0 or 1";
  // An entry index, or a path of indexes ("3.12") into a hierarchy list.
  if (verb == "select" && (args[1].empty() || args[1].find_first_not_of("0123456789.") != std::string::npos ||
                           args[1].front() == '.' || args[1].back() == '.' || args[1].find("..") != std::string::npos))
    return "select takes an entry index or a path such as 3.12";
  return {};
}

std::string Plural(std::size_t n) { return n == 1 ? "" : "s"; }

std::string ArityReason(const std::string& verb, Arity arity) {
  if (arity.min == arity.max)
    return verb + " takes " + std::to_string(arity.min) + " argument" + Plural(arity.min);
  return verb + " takes " + std::to_string(arity.min) + " to " + std::to_string(arity.max) + " arguments";
}

}  // namespace

bool SplitScriptLine(std::string_view line, std::vector<std::string>* words, std::string* reason) {
  words->clear();
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char q = line[i++];
        if (q == '"') {
          closed = true;
          break;
        }
        if (q == '\\' && i < line.size()) {
          word += line[i++];
        } else {
          word += q;
        }
      }
      if (!closed) {
        *reason = "unterminated quote";
        return false;
      }
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
    }
    words->push_back(std::move(word));
  }
  return true;
}

bool ParseScriptInt(std::string_view text, int* value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool ParseScriptNumber(std::string_view text, double* value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

int ParseKeyCode(std::string_view text) {
  static const std::map<std::string, int, std::less<>> names = {
      {"enter", host::kKeyEnter}, {"backspace", host::kKeyBackspace}, {"tab", host::kKeyTab},
      {"left", host::kKeyLeftArrow}, {"right", host::kKeyRightArrow}, {"up", host::kKeyUpArrow},
      {"down", host::kKeyDownArrow}, {"space", host::kKeySpace}};
  if (const auto it = names.find(text); it != names.end()) return it->second;
  int code = 0;
  return ParseScriptInt(text, &code) && code >= 0 ? code : -1;
}

ParsedScript ParseScript(std::string_view text) {
  std::vector<ScriptCommand> commands;
  ScriptCommand* openDialog = nullptr;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    ++lineNumber;
    std::vector<std::string> words;
    std::string reason;
    if (!SplitScriptLine(line, &words, &reason)) return ScriptParseError{lineNumber, reason};
    if (words.empty()) continue;
    const std::string verb = words.front();
    words.erase(words.begin());

    if (openDialog) {
      if (verb == "end") {
        if (!words.empty()) return ScriptParseError{lineNumber, "end takes no arguments"};
        openDialog = nullptr;
        continue;
      }
      const auto it = DialogVerbs().find(verb);
      if (it == DialogVerbs().end())
        return ScriptParseError{lineNumber, "\"" + verb + "\" is not a dialog line (set, check, select, press, end)"};
      if (words.size() < it->second.min || words.size() > it->second.max)
        return ScriptParseError{lineNumber, ArityReason(verb, it->second)};
      if (const std::string bad = CheckDialogLine(verb, words); !bad.empty()) return ScriptParseError{lineNumber, bad};
      openDialog->dialog.lines.push_back({lineNumber, verb, words[0], words.size() > 1 ? words[1] : std::string()});
      continue;
    }

    const auto it = Commands().find(verb);
    if (it == Commands().end()) return ScriptParseError{lineNumber, "unknown command \"" + verb + "\""};
    if (words.size() < it->second.min || words.size() > it->second.max)
      return ScriptParseError{lineNumber, ArityReason(verb, it->second)};
    if (const std::string bad = CheckArguments(verb, words); !bad.empty()) return ScriptParseError{lineNumber, bad};
    commands.push_back({lineNumber, verb, words, {}});
    if (verb == "dialog") {
      openDialog = &commands.back();
      openDialog->dialog.lineNumber = lineNumber;
      openDialog->dialog.dialogName = words[0];
    }
  }
  if (openDialog) return ScriptParseError{openDialog->line, "dialog block without end"};
  return commands;
}

}  // namespace viewer::script
