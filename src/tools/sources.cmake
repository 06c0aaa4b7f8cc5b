# Sources of src/tools.
