# Sources of src/search.
