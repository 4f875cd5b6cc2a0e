#pragma once

#include <string>
#include <vector>

class Serializer;

// A choice among options, stored as two parameters: label + "_string" with the option's text,
// then label + "_index" with its position. On reading, the text wins when it names an option,
// else the index when it is in range, else the selection stays as it was.
void ComboBox(Serializer& serializer, const std::string& label, const std::vector<std::string>& options,
              int& selection);
