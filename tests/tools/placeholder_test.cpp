// Tests of the tools library.
