// Option values of the database layer, with the classic numbers that the system's code passes.
#pragma once

enum CursorTypeEnum {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CommandTypeEnum {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
};

enum ExecuteOptionEnum {
    adExecuteNoRecords = 128,
};

enum ConnectOptionEnum {
    adConnectUnspecified = -1,
};

enum ObjectStateEnum {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum SchemaEnum {
    adSchemaTables = 20,
};

enum AffectEnum {
    adAffectCurrent = 1,
    adAffectGroup = 2,
    adAffectAll = 3,
};

enum DataTypeEnum {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adChar = 129,
    adWChar = 130,
    adVarChar = 200,
    adVarWChar = 202,
};

enum ParameterDirectionEnum {
    adParamUnknown = 0,
    adParamInput = 1,
    adParamOutput = 2,
    adParamInputOutput = 3,
    adParamReturnValue = 4,
};
