// Reads the UI driver's test scripts: one command per line, words separated
// by blanks, double-quoted words with \n \r \t \e \\ \" \xHH escapes; a line
// whose first word starts with # is a comment.
#pragma once

#include <string>
#include <vector>

namespace kvdriver {

struct ScriptLine {
  int number;
  std::vector<std::string> words;
};

// Splits a script's text into lines of words; false and an error text on a
// malformed line.
bool ReadScript(const std::string& text, std::vector<ScriptLine>& lines, std::string& error);

// Substitutes ${NAME} from the driver's variables and the environment.
std::string Expand(const std::string& word, const std::vector<std::pair<std::string, std::string>>& variables);

}  // namespace kvdriver
