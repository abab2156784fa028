#pragma once
// What every test program uses, compiled once and given to each test file ahead of its own code.
#include "common/appdir.h"
#include "common/cp932.h"
#include "common/database.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/picturebox.h"
#include "platform/registry.h"
#include "platform/twips.h"
#include "shell/form_start.h"
#include "support/gui.h"
#include <QSignalSpy>
#include <QtTest>
#include <QtWidgets>

using namespace vx;
using namespace vxtest;
