# Sources of src/sync.
