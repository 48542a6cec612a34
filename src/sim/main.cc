// varnel-sim: plays the SMS-sending program's side of the marker protocol.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/scenario.h"

namespace {

using varnel::sim::Step;

std::string Describe(const Step& step) {
  std::ostringstream text;
  if (step.kind == Step::Kind::kWait) {
    text << "wait " << step.seconds << " s";
  } else {
    text << "create " << varnel::sim::MarkerName(step.marker);
    if (!step.content.empty()) text << " (" << step.content.size() << " bytes of text)";
  }
  return text.str();
}

// Writes the whole content, then closes the file: the text is complete
// before the next step creates the finish marker.
bool CreateMarker(const std::string& dir, const Step& step) {
  const std::string path = dir + "/" + varnel::sim::MarkerName(step.marker);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(step.content.data(), static_cast<std::streamsize>(step.content.size()));
  file.close();
  if (!file) {
    std::cerr << "varnel-sim: cannot create " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const varnel::sim::Parsed parsed =
      varnel::sim::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "varnel-sim: " << parsed.error << "\nTry 'varnel-sim --help'.\n";
    return 2;
  }
  const varnel::sim::Options& options = parsed.options;
  if (options.help) {
    std::cout << varnel::sim::Usage();
    return 0;
  }

  std::optional<std::string> detail;
  if (!options.detail_file.empty()) {
    std::ifstream file(options.detail_file, std::ios::binary);
    if (!file) {
      std::cerr << "varnel-sim: cannot read " << options.detail_file << "\n";
      return 2;
    }
    detail.emplace(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  } else if (!options.detail_lines.empty()) {
    // Lines end in CR LF, as a Windows sender writes them.
    detail.emplace();
    for (const std::string& line : options.detail_lines) *detail += line + "\r\n";
  }

  for (const Step& step : varnel::sim::Plan(options, detail)) {
    if (options.dry_run || options.verbose) std::cerr << "varnel-sim: " << Describe(step) << "\n";
    if (options.dry_run) continue;
    if (step.kind == Step::Kind::kWait) {
      std::this_thread::sleep_for(std::chrono::duration<double>(step.seconds));
    } else if (!CreateMarker(options.dir, step)) {
      return 1;
    }
  }
  return 0;
}
