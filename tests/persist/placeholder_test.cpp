// Tests of the persist library.
