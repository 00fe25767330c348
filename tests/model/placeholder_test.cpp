// Tests of the model library.
