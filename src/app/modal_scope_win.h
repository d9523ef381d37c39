#pragma once
// Whether one of the program's menus, message boxes or modal dialogs is open. While one is, its own
// message loop dispatches messages (a close request, the end of the Windows session) to windows whose
// code is still running further down the stack, waiting for the box or menu to return: such a message
// must not destroy the frame or free the state that code uses.
//
// Header only, so that every shell library (dialogs, panes, the frame) can mark its modal loops
// without depending on the others.

namespace tavrin {

namespace detail {
// The number of open modal loops. The program has one GUI thread, so the count is per process.
inline int& OpenModalCount() noexcept {
    static int count = 0;
    return count;
}
}  // namespace detail

// Marks a menu, message box or modal dialog as open for its lifetime. Put one around every call that
// runs a modal loop.
class ModalScope {
public:
    ModalScope() noexcept { ++detail::OpenModalCount(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() { --detail::OpenModalCount(); }
};

[[nodiscard]] inline bool ModalUiOpen() noexcept { return detail::OpenModalCount() > 0; }

}  // namespace tavrin
