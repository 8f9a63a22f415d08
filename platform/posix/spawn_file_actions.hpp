#pragma once
// The file actions of one posix_spawn call, destroyed when the call is done.

#include <spawn.h>

namespace qv::posix {

class SpawnFileActions {
public:
  SpawnFileActions() : initError_(posix_spawn_file_actions_init(&actions_)) {}
  SpawnFileActions(const SpawnFileActions &) = delete;
  SpawnFileActions &operator=(const SpawnFileActions &) = delete;
  ~SpawnFileActions() {
    if (initError_ == 0) posix_spawn_file_actions_destroy(&actions_);
  }
  int initError() const { return initError_; }
  posix_spawn_file_actions_t *get() { return &actions_; }

private:
  posix_spawn_file_actions_t actions_;
  int initError_;
};

} // namespace qv::posix
