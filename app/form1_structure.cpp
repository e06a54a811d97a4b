#include "app/form1.h"

// Produced once from the layout; keep it true to it (tests/window_reading_test.cpp checks).
// clang-format off
const WindowStructure kForm1Structure{
    .steps = {"Button1", "Button3", "Button4", "Button2", "Button5"},
    .pictures = {},
    .lines =
        {
            // Before the steps
            {0, "heading", "Label1", {"\"Ортикс-Т\" - программа инженерного расчёта схем триггеров"}},
            {0, "caption", "Label2", {"Триггеры на транзисторах"}},
            {0, "caption", "Label4", {"Триггеры на транзисторах"}, {}, {}, kOnTheRowBefore},
            {0, "caption", "Label3", {"разного типа проводимости"}},
            {0, "caption", "Label5", {"одного типа проводимости"}, {}, {}, kOnTheRowBefore},
            // Шаг 5
            {5, "credits", "Label8", {"Разработка: команда «Ортикс-Т», 2026 год"}},
            {5, "credits", "Label6", {"Поддержать проект:"}},
            {5, "link", "Label9", {"t.me/ortix_t"}, {}, {}, kOnTheRowBefore},
        },
};
// clang-format on
