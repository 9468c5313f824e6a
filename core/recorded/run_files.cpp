#include "core/recorded/run_files.h"

namespace quorran {
namespace {

RunFiles* program_files = nullptr;

}  // namespace

void use_run_files(RunFiles* files) { program_files = files; }

RunFiles* run_files() { return program_files; }

}  // namespace quorran
