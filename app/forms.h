#pragma once

// Creates the main menu, with its menu bar. The calculator windows wait for their first use: a main-menu
// button, or a file opened into one of them; until then the start-up has none of their cost.
void CreateMainMenu();

// Creates every calculator window once, in the order the program has always used, hidden, each
// calculation a document and each window with its menu bar; nothing when they are created already.
void CreateCalculators();

// Both at once, for what works with every window from the start.
void CreateForms();

// Destroys them at exit.
void DestroyForms();
