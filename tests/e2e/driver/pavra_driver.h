// Everything an end-to-end test of pavra.exe uses.
#pragma once

#include "accessible_reader.h"
#include "app_process.h"
#include "bar_test.h"
#include "clipboard.h"
#include "controls.h"
#include "foreign_window.h"
#include "ini_file.h"
#include "key_latency.h"
#include "keyboard.h"
#include "mouse.h"
#include "paths.h"
#include "pavra_bar.h"
#include "test_folder.h"
#include "text_fit.h"
#include "unix_command.h"
#include "wait.h"

#include "resources/resource.h"
