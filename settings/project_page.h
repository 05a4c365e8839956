#pragma once
// The product's own page, opened by Visit Keyloom Web Site: the README of the project the
// program was built in or installed with.
#include <functional>
#include <string>
#include <string_view>

#include "macro/desktop/desktop_port.h"

// The first README.md found in the program's folder or one of the folders above it (the build
// folders lie two levels below the project); the one beside the program when there is none.
std::string ProjectPage(std::string_view programPath,
                        const std::function<bool(const std::string&)>& fileExists);

// Opens the product's page for the program that is running (Visit Keyloom Web Site).
void OpenProjectPage(DesktopPort& desktop, WindowHandle owner);
