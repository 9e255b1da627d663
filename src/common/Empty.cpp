// Placeholder so that an empty role folder still forms a library.
