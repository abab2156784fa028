#pragma once
// The database as the program sees it: the run's connection and statements (dbconnection.h),
// its tables and views (dbschema.h), and recordsets over them (recordset.h).
#include "common/dbconnection.h"
#include "common/dbschema.h"
#include "common/recordset.h"
