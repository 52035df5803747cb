// The result codes with which the macro's modal dialogs close are part of the contract with the
// host's automation; they are defined there, once.
#pragma once

#include "host/automation_contract.h"
