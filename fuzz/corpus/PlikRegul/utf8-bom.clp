(deffacts d (uwaga ż))
