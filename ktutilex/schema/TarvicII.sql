-- The stations' database: patients, studies and users.
--
-- Text columns compare without case (COLLATE NOCASE), as the classic engine compared them, so
-- that "WHERE P_ID='ab'" finds "AB" and keys are unique without regard to case. Date columns
-- hold day counts (the system's date value: days since 1899-12-30, the time as the fraction),
-- so the year-1000 "no date" value is stored as it is. TEXT(n) gives the width that the table
-- classes cut a text to before they write it.

CREATE TABLE TBLPatient (
    P_ID          TEXT(30)  COLLATE NOCASE NOT NULL,
    P_FIRST_NAME  TEXT(30)  COLLATE NOCASE,
    P_LAST_NAME   TEXT(30)  COLLATE NOCASE,
    P_REG_DATE    DATETIME,
    P_BIRTHDAY    DATETIME,
    P_HEIGHT      DOUBLE,
    P_WEIGHT      DOUBLE,
    P_COMMENT     TEXT(255) COLLATE NOCASE,
    P_DOCTOR_ID   TEXT(30)  COLLATE NOCASE,
    P_LMP         DATETIME,
    P_EDC         DATETIME,
    P_GR          INTEGER,
    P_PA          INTEGER,
    P_EDIT_DATE   DATETIME,
    PRIMARY KEY (P_ID)
);

CREATE TABLE TBLStudy (
    S_ID          TEXT(30)  COLLATE NOCASE NOT NULL,
    S_STUDY_ID    TEXT(30)  COLLATE NOCASE NOT NULL,
    S_START_TIME  DATETIME,
    S_LENGTH      INTEGER,
    S_LOSS        INTEGER,
    S_DOCTOR_ID   TEXT(30)  COLLATE NOCASE,
    S_NURSE_ID    TEXT(30)  COLLATE NOCASE,
    S_COMMENT     TEXT(255) COLLATE NOCASE,
    S_MEMB_STATUS INTEGER,
    S_EDIT_DATE   DATETIME,
    PRIMARY KEY (S_ID, S_STUDY_ID)
);

CREATE TABLE TBLUser (
    M_ID          TEXT(50)  COLLATE NOCASE NOT NULL,
    M_NAME        TEXT(50)  COLLATE NOCASE,
    M_PASSWORD    TEXT(50),
    M_LEVEL       INTEGER,
    M_REG_DATE    DATETIME,
    M_EDIT_DATE   DATETIME,
    PRIMARY KEY (M_ID)
);
