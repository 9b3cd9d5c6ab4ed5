#pragma once
// Whether a saved setting has changed since the settings were last saved: every change of an
// option, a list, a remembered size or the fixed desktop size marks it, and only a save that wrote
// everything clears it, so a failed save is tried again at the next hide.
namespace core {

class SettingsChanges {
 public:
  void Mark() { pending_ = true; }
  bool Pending() const { return pending_; }
  void Saved() { pending_ = false; }

 private:
  bool pending_ = false;
};

}  // namespace core
