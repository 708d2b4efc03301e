// The IP helper's interface table of the host implementation: one row per
// network interface with its 32-bit octet counters (kernel/iftable.cpp,
// kernel/InterfaceTable.h).
#pragma once

#include "platform/host/api/types.h"

#define ANY_SIZE 1
#define MAX_INTERFACE_NAME_LEN 256
#define MAXLEN_PHYSADDR 8
#define MAXLEN_IFDESCR 256

#define MIB_IF_TYPE_OTHER 1
#define MIB_IF_TYPE_ETHERNET 6
#define MIB_IF_TYPE_PPP 23
#define MIB_IF_TYPE_LOOPBACK 24
#define IF_TYPE_IEEE80211 71

#define MIB_IF_ADMIN_STATUS_UP 1
#define MIB_IF_ADMIN_STATUS_DOWN 2

#define MIB_IF_OPER_STATUS_NON_OPERATIONAL 0
#define MIB_IF_OPER_STATUS_UNREACHABLE 1
#define MIB_IF_OPER_STATUS_DISCONNECTED 2
#define MIB_IF_OPER_STATUS_CONNECTING 3
#define MIB_IF_OPER_STATUS_CONNECTED 4
#define MIB_IF_OPER_STATUS_OPERATIONAL 5

typedef struct _MIB_IFROW {
    WCHAR wszName[MAX_INTERFACE_NAME_LEN];
    DWORD dwIndex;
    DWORD dwType;
    DWORD dwMtu;
    DWORD dwSpeed;
    DWORD dwPhysAddrLen;
    BYTE bPhysAddr[MAXLEN_PHYSADDR];
    DWORD dwAdminStatus;
    DWORD dwOperStatus;
    DWORD dwLastChange;
    DWORD dwInOctets;
    DWORD dwInUcastPkts;
    DWORD dwInNUcastPkts;
    DWORD dwInDiscards;
    DWORD dwInErrors;
    DWORD dwInUnknownProtos;
    DWORD dwOutOctets;
    DWORD dwOutUcastPkts;
    DWORD dwOutNUcastPkts;
    DWORD dwOutDiscards;
    DWORD dwOutErrors;
    DWORD dwOutQLen;
    DWORD dwDescrLen;  // bytes of bDescr, the terminator included
    BYTE bDescr[MAXLEN_IFDESCR];
} MIB_IFROW, *PMIB_IFROW;

typedef struct _MIB_IFTABLE {
    DWORD dwNumEntries;
    MIB_IFROW table[ANY_SIZE];
} MIB_IFTABLE, *PMIB_IFTABLE;

// Fills `table` when *size is large enough (NO_ERROR), otherwise stores the
// size needed in *size and returns ERROR_INSUFFICIENT_BUFFER. bOrder sorts the
// rows by index. ERROR_INVALID_PARAMETER without `size`; ERROR_NOT_SUPPORTED
// when the system's interface list cannot be read.
DWORD GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL order);

// Fills `row` with the row of the interface whose index row->dwIndex names.
// ERROR_INVALID_DATA when there is no such interface, ERROR_INVALID_PARAMETER
// without `row`, ERROR_NOT_SUPPORTED as GetIfTable.
DWORD GetIfEntry(PMIB_IFROW row);
