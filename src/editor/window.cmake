# The editor window on top of the core: portable painting decisions, and on Windows the
# MarkupEditPane window with its GDI measurer, canvas, pictures, clipboard and IME handling.
tavrin_core_library(tavrin_editor_paint SOURCES editor_paint.cpp DEPENDS tavrin_editor)

if(WIN32)
    add_library(tavrin_editor_win STATIC
        editor_clipboard_win.cpp
        editor_port_win.cpp
        gdi_editor_canvas_win.cpp
        gdi_measurer_win.cpp
        markup_edit_input_win.cpp
        markup_edit_media_win.cpp
        markup_edit_pane_win.cpp
        media_window_win.cpp
        picture_store_win.cpp)
    target_link_libraries(tavrin_editor_win PUBLIC tavrin_editor_paint tavrin_scrollbar_win tavrin_ui_win gdiplus
                                                   imm32 shell32 vfw32 winmm)
endif()
