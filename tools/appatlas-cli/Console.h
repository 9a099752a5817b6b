#pragma once
#include <string>

// Console text of the tool: UTF-8 on stdout and stderr, so output redirected
// to files and pipes stays readable on any code page.
void Out(const std::wstring& text);
void Err(const std::wstring& text);
std::string ToUtf8(const std::wstring& text);
