#pragma once

#include "Array.hpp"
#include "BM.hpp"
#include "Definitions.hpp"
#include "GSException.hpp"
#include "GSGuid.hpp"
#include "HashTable.hpp"
#include "Lock.hpp"
#include "Ref.hpp"
#include "UniString.hpp"
